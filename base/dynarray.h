#pragma once
// DYNARRAY: a growable array that owns a separate copy of every item, with its own lock.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "base/osys.h"
#include "frame/ombix.h"

template <class T>
class DYNARRAY {
public:
    char TypeName[32] = "DYNARRAY";
    MUTEXSEM* pLock = nullptr;
    T** ppItems = nullptr;
    int ItemCount = 0;
    int MaxItems = 0;
    int GrowthStep = 64;

    // growthStep -1 means: grow by the initial size.
    explicit DYNARRAY(int initialSize = 64, const char* typeName = "DYNARRAY", int growthStep = -1)
    {
        snprintf(TypeName, sizeof(TypeName), "%s", typeName);
        pLock = new (std::nothrow) MUTEXSEM;
        ASSERT(pLock != nullptr, "pLock", "dynarray", __LINE__);
        GrowthStep = growthStep == -1 ? initialSize : growthStep;
        if (GrowthStep <= 0)
            GrowthStep = 64;
        if (initialSize > 0)
            Grow(initialSize);
    }

    DYNARRAY(const DYNARRAY& other) : DYNARRAY(0, other.TypeName, other.GrowthStep)
    {
        CopyFrom(other);
    }

    DYNARRAY& operator=(const DYNARRAY& other)
    {
        if (this == &other)
            return *this;
        MUTEXLOCK mine(pLock);
        Clear();
        GrowthStep = other.GrowthStep;
        CopyFrom(other);
        return *this;
    }

    virtual int CompareItems(const T&, const T&, int) const
    {
        ASSERT(false, "FALSE", "dynarray", __LINE__);
        return 0;
    }

    virtual ~DYNARRAY()
    {
        Clear();
        delete pLock;
    }

    T* Get(int i) const
    {
        MUTEXLOCK lock(pLock);
        bool ok = i >= 0 && i < ItemCount && i < MaxItems;
        ASSERTF(ok, "FALSE", "dynarray", __LINE__, "i= %d, max= %d, count= %d, type= %s, this= %p",
                i, MaxItems, ItemCount, TypeName, static_cast<const void*>(this));
        return ok ? ppItems[i] : nullptr;
    }

    int Count() const { return ItemCount; }

    bool Insert(int pos, const T& item)
    {
        MUTEXLOCK lock(pLock);
        if (!ASSERTF(pos >= 0 && pos <= ItemCount, "pos>=0 && pos<=this->ItemCount", "dynarray",
                     __LINE__, "%d/%d", pos, ItemCount) ||
            pos < 0 || pos > ItemCount)
            return false;
        if (ItemCount >= MaxItems && !Grow(GrowthStep))
            return false;
        if (!ASSERT(ItemCount < MaxItems, "this->ItemCount<this->MaxItems", "dynarray", __LINE__))
            return false;
        T* copy = new (std::nothrow) T(item);
        if (!copy)
            return false;
        memmove(static_cast<void*>(ppItems + pos + 1), static_cast<void*>(ppItems + pos),
                sizeof(T*) * size_t(ItemCount - pos));
        ppItems[pos] = copy;
        ++ItemCount;
        return true;
    }

    int Add(const T& item)
    {
        MUTEXLOCK lock(pLock);
        return Insert(ItemCount, item) ? ItemCount - 1 : -1;
    }

    bool Swap(int pos1, int pos2)
    {
        MUTEXLOCK lock(pLock);
        bool ok1 = ASSERT(pos1 >= 0 && pos1 < ItemCount, "pos1>=0 && pos1<this->ItemCount",
                          "dynarray", __LINE__);
        bool ok2 = ASSERT(pos2 >= 0 && pos2 < ItemCount, "pos2>=0 && pos2<this->ItemCount",
                          "dynarray", __LINE__);
        if (!ok1 || !ok2 || pos1 < 0 || pos1 >= ItemCount || pos2 < 0 || pos2 >= ItemCount)
            return false;
        T* t = ppItems[pos1];
        ppItems[pos1] = ppItems[pos2];
        ppItems[pos2] = t;
        return true;
    }

    bool DeleteItem(int pos)
    {
        MUTEXLOCK lock(pLock);
        if (!ASSERT(pos >= 0 && pos < ItemCount, "pos>=0 && pos<this->ItemCount", "dynarray",
                    __LINE__) ||
            pos < 0 || pos >= ItemCount)
            return false;
        LOGITLEVEL(1, "DYNARRAY::DeleteItem is called for pitem= %p\n",
                   static_cast<void*>(ppItems[pos]));
        delete ppItems[pos];
        memmove(static_cast<void*>(ppItems + pos), static_cast<void*>(ppItems + pos + 1),
                sizeof(T*) * size_t(ItemCount - pos - 1));
        ppItems[--ItemCount] = nullptr;
        return true;
    }

    void DeleteAll()
    {
        MUTEXLOCK lock(pLock);
        while (ItemCount > 0)
            DeleteItem(ItemCount - 1);
    }

    void Clear()
    {
        MUTEXLOCK lock(pLock);
        for (int i = 0; i < ItemCount; ++i)
            delete ppItems[i];
        free(ppItems);
        ppItems = nullptr;
        ItemCount = MaxItems = 0;
    }

    bool Obtain() { return pLock->Obtain(); }
    bool Release() { return pLock->Release(); }

protected:
    bool Grow(int by)
    {
        T** slots = static_cast<T**>(calloc(size_t(MaxItems + by), sizeof(T*)));
        if (!ASSERT(slots != nullptr, "this->ppItems", "dynarray", __LINE__) || !slots)
            return false;
        if (ppItems)
            memcpy(static_cast<void*>(slots), static_cast<void*>(ppItems),
                   sizeof(T*) * size_t(ItemCount));
        free(ppItems);
        ppItems = slots;
        MaxItems += by;
        return true;
    }

private:
    void CopyFrom(const DYNARRAY& other)
    {
        MUTEXLOCK theirs(other.pLock);
        MUTEXLOCK mine(pLock);
        if (other.MaxItems > MaxItems)
            Grow(other.MaxItems - MaxItems);
        for (int i = 0; i < other.ItemCount; ++i)
            Insert(ItemCount, *other.ppItems[i]);
    }
};
