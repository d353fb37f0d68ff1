#include "services/zipdecode.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <memory>
#include <new>
#include <vector>

namespace {

constexpr size_t INPUTCHUNK = 256 * 1024;

// Reads the compressed data least significant bit first, as every ZIP method stores it.
class BITREADER {
public:
    explicit BITREADER(ZIPINPUT& input) : Input(input) {}

    bool Failed() const { return ReadFailed; }

    // True when n more bits exist in the member's data.
    bool Has(int n)
    {
        Fill(n);
        return BitCount >= n;
    }

    // Takes n bits (n <= 32). Past the end of the data the result is zero and Overrun is set.
    uint32_t Get(int n)
    {
        Fill(n);
        if (BitCount < n) {
            Overrun = true;
            BitCount = n;
        }
        uint32_t value = static_cast<uint32_t>(BitBuffer & ((uint64_t{1} << n) - 1));
        BitBuffer >>= n;
        BitCount -= n;
        return value;
    }

    bool Overrun = false;

private:
    void Fill(int n)
    {
        while (BitCount < n && BitCount <= 56) {
            if (Position == Length && !Refill()) return;
            BitBuffer |= uint64_t{Buffer[Position++]} << BitCount;
            BitCount += 8;
        }
    }

    bool Refill()
    {
        if (AtEnd) return false;
        long got = Input.Read(Buffer.data(), Buffer.size());
        if (got <= 0) {
            AtEnd = true;
            ReadFailed = got < 0;
            return false;
        }
        Position = 0;
        Length = static_cast<size_t>(got);
        return true;
    }

    ZIPINPUT& Input;
    std::array<uint8_t, 16 * 1024> Buffer{};
    size_t Position = 0;
    size_t Length = 0;
    uint64_t BitBuffer = 0;
    int BitCount = 0;
    bool AtEnd = false;
    bool ReadFailed = false;
};

// Output with history for the LZ77-style copies of reduce and implode. Bytes before the start of
// the member read as zero, as the format defines. Stops at the declared size.
class WINDOWOUTPUT {
public:
    WINDOWOUTPUT(ZIPOUTPUT& output, uint64_t limit) : Output(output), Limit(limit) {}

    bool Full() const { return Total >= Limit; }
    bool Failed() const { return WriteFailed; }
    uint64_t Count() const { return Total; }

    void Put(uint8_t c)
    {
        if (Full() || WriteFailed) return;
        Window[Position++] = c;
        ++Total;
        if (Position == WINDOWSIZE) Flush();
    }

    void Copy(uint32_t distance, uint32_t length)
    {
        for (uint32_t i = 0; i < length && !Full(); ++i) {
            bool beforeStart = distance > Total;
            Put(beforeStart ? 0 : Window[(Position + WINDOWSIZE - distance) % WINDOWSIZE]);
        }
    }

    void Flush()
    {
        if (Position > Flushed && !WriteFailed) {
            WriteFailed = !Output.Write(Window.data() + Flushed, Position - Flushed);
        }
        if (Position == WINDOWSIZE) Position = 0;
        Flushed = Position;
    }

private:
    static constexpr size_t WINDOWSIZE = 64 * 1024;  // a multiple of every method's window
    ZIPOUTPUT& Output;
    uint64_t Limit;
    uint64_t Total = 0;
    std::array<uint8_t, WINDOWSIZE> Window{};
    size_t Position = 0;
    size_t Flushed = 0;
    bool WriteFailed = false;
};

ZIPDECODE Finish(BITREADER& bits, WINDOWOUTPUT& out)
{
    out.Flush();
    if (out.Failed()) return ZIPDECODE::WRITEFAIL;
    if (bits.Failed()) return ZIPDECODE::READFAIL;
    if (bits.Overrun) return ZIPDECODE::TRUNCATED;
    return ZIPDECODE::OK;
}

// ---- method 0 --------------------------------------------------------------------------------

ZIPDECODE Store(uint64_t compressedSize, uint64_t size, ZIPINPUT& input, ZIPOUTPUT& output)
{
    if (compressedSize != size) return ZIPDECODE::BADDATA;
    std::vector<uint8_t> buffer(INPUTCHUNK);
    uint64_t done = 0;
    while (done < size) {
        long got = input.Read(buffer.data(), buffer.size());
        if (got < 0) return ZIPDECODE::READFAIL;
        if (got == 0) return ZIPDECODE::TRUNCATED;
        if (!output.Write(buffer.data(), static_cast<size_t>(got))) return ZIPDECODE::WRITEFAIL;
        done += static_cast<uint64_t>(got);
    }
    return ZIPDECODE::OK;
}

// ---- method 1: shrink (dynamic LZW, 9 to 13 bit codes, partial clearing) -----------------------

class UNSHRINK {
public:
    UNSHRINK(BITREADER& bits, WINDOWOUTPUT& out) : Bits(bits), Out(out)
    {
        Parent.fill(FREE);
        for (int c = 0; c < 256; ++c) {
            Parent[c] = LITERAL;
            Suffix[c] = static_cast<uint8_t>(c);
        }
    }

    ZIPDECODE Run()
    {
        while (!Out.Full()) {
            if (!Bits.Has(CodeSize)) return ZIPDECODE::TRUNCATED;
            uint32_t code = Bits.Get(CodeSize);
            if (code == CONTROL) {
                if (!Control()) return ZIPDECODE::BADDATA;
                continue;
            }
            if (!Code(code)) return ZIPDECODE::BADDATA;
        }
        return ZIPDECODE::OK;
    }

private:
    static constexpr uint32_t MAXCODES = 8192;
    static constexpr uint32_t CONTROL = 256;
    static constexpr uint32_t FIRSTFREE = 257;
    static constexpr uint16_t FREE = 0xFFFF;
    static constexpr uint16_t LITERAL = 0xFFFE;
    static constexpr uint32_t NONE = 0xFFFFFFFF;

    bool InUse(uint32_t code) const { return code < MAXCODES && Parent[code] != FREE; }

    bool Control()
    {
        if (!Bits.Has(CodeSize)) return false;
        uint32_t what = Bits.Get(CodeSize);
        if (what == 1 && CodeSize < 13) {
            ++CodeSize;
            return true;
        }
        if (what == 2) {
            PartialClear();
            return true;
        }
        return false;
    }

    // Frees every code that no other code uses as its prefix.
    void PartialClear()
    {
        std::array<bool, MAXCODES> isPrefix{};
        for (uint32_t c = FIRSTFREE; c < MAXCODES; ++c) {
            if (Parent[c] != FREE) isPrefix[Parent[c]] = true;
        }
        for (uint32_t c = FIRSTFREE; c < MAXCODES; ++c) {
            if (!isPrefix[c]) Parent[c] = FREE;
        }
        NextFree = FIRSTFREE;
        AdvanceFree();
    }

    void AdvanceFree()
    {
        while (NextFree < MAXCODES && Parent[NextFree] != FREE) ++NextFree;
    }

    // Writes the string of code into Stack (reversed); returns its length, 0 for a broken chain.
    size_t Expand(uint32_t code)
    {
        size_t length = 0;
        while (true) {
            if (length == Stack.size() || !InUse(code)) return 0;
            Stack[length++] = Suffix[code];
            if (Parent[code] == LITERAL) return length;
            code = Parent[code];
        }
    }

    bool Code(uint32_t code)
    {
        if (Previous == NONE) {
            if (code >= 256) return false;
            Out.Put(static_cast<uint8_t>(code));
            Previous = code;
            return true;
        }
        bool repeatsNewCode = !InUse(code) && code == NextFree;
        if (!InUse(code) && !repeatsNewCode) return false;
        size_t length = Expand(repeatsNewCode ? Previous : code);
        if (length == 0) return false;
        uint8_t first = Stack[length - 1];
        if (NextFree < MAXCODES) {
            Parent[NextFree] = static_cast<uint16_t>(Previous);
            Suffix[NextFree] = first;
            AdvanceFree();
        }
        if (repeatsNewCode) {
            length = Expand(code);
            if (length == 0) return false;
        }
        while (length > 0) Out.Put(Stack[--length]);
        Previous = code;
        return true;
    }

    BITREADER& Bits;
    WINDOWOUTPUT& Out;
    std::array<uint16_t, MAXCODES> Parent;
    std::array<uint8_t, MAXCODES> Suffix{};
    std::array<uint8_t, MAXCODES> Stack{};
    int CodeSize = 9;
    uint32_t NextFree = FIRSTFREE;
    uint32_t Previous = NONE;
};

// ---- methods 2-5: reduce (follower sets, then DLE-escaped back references) --------------------

class UNREDUCE {
public:
    UNREDUCE(BITREADER& bits, WINDOWOUTPUT& out, int factor) : Bits(bits), Out(out), Factor(factor)
    {
    }

    ZIPDECODE Run()
    {
        if (!ReadFollowerSets()) return ZIPDECODE::TRUNCATED;
        uint8_t last = 0;
        while (!Out.Full()) {
            int c = NextByte(last);
            if (c < 0) return Bits.Overrun ? ZIPDECODE::TRUNCATED : ZIPDECODE::BADDATA;
            last = static_cast<uint8_t>(c);
            Expand(last);
        }
        return ZIPDECODE::OK;
    }

private:
    static constexpr uint8_t DLE = 144;

    static int IndexBits(int count)
    {
        int bits = 1;
        while ((1 << bits) < count) ++bits;
        return bits;
    }

    bool ReadFollowerSets()
    {
        for (int i = 255; i >= 0; --i) {
            Count[i] = static_cast<uint8_t>(Bits.Get(6));
            if (Count[i] > 32) return false;
            for (int k = 0; k < Count[i]; ++k) Followers[i][k] = static_cast<uint8_t>(Bits.Get(8));
        }
        return !Bits.Overrun;
    }

    int NextByte(uint8_t last)
    {
        int count = Count[last];
        int value;
        if (count == 0 || Bits.Get(1) == 1) {
            value = static_cast<int>(Bits.Get(8));
        } else {
            uint32_t index = Bits.Get(IndexBits(count));
            if (index >= static_cast<uint32_t>(count)) return -1;
            value = Followers[last][index];
        }
        return Bits.Overrun ? -1 : value;
    }

    void Expand(uint8_t c)
    {
        int lengthMask = 0xFF >> Factor;
        switch (State) {
            case 0:
                if (c == DLE)
                    State = 1;
                else
                    Out.Put(c);
                return;
            case 1:
                if (c == 0) {
                    Out.Put(DLE);
                    State = 0;
                    return;
                }
                Code = c;
                Length = c & lengthMask;
                State = Length == lengthMask ? 2 : 3;
                return;
            case 2:
                Length += c;
                State = 3;
                return;
            default: {
                uint32_t distance = ((Code >> (8 - Factor)) * 256u) + c + 1u;
                Out.Copy(distance, static_cast<uint32_t>(Length) + 3u);
                State = 0;
                return;
            }
        }
    }

    BITREADER& Bits;
    WINDOWOUTPUT& Out;
    int Factor;
    std::array<uint8_t, 256> Count{};
    std::array<std::array<uint8_t, 32>, 256> Followers{};
    int State = 0;
    uint32_t Code = 0;
    int Length = 0;
};

// ---- method 6: implode (Shannon-Fano coded literals, lengths and distances) -------------------

// A Shannon-Fano tree as the format defines it, decoded one bit at a time. The codes of one bit
// length form a contiguous range, so each length keeps its first code and its symbols.
class SFTREE {
public:
    bool Read(BITREADER& bits, int symbols)
    {
        int groups = static_cast<int>(bits.Get(8)) + 1;
        std::vector<uint8_t> lengths;
        for (int g = 0; g < groups; ++g) {
            uint32_t b = bits.Get(8);
            int repeat = static_cast<int>(b >> 4) + 1;
            uint8_t bitLength = static_cast<uint8_t>((b & 15) + 1);
            if (static_cast<int>(lengths.size()) + repeat > symbols) return false;
            lengths.insert(lengths.end(), repeat, bitLength);
        }
        if (bits.Overrun || static_cast<int>(lengths.size()) != symbols) return false;
        return Build(lengths);
    }

    // Returns the symbol, or -1 for a code the tree does not have.
    int Decode(BITREADER& bits) const
    {
        uint32_t code = 0;
        for (int length = 1; length <= 16; ++length) {
            // A code's most significant bit comes first in the stream.
            code = (code << 1) | bits.Get(1);
            uint32_t offset = code - First[length];
            if (code >= First[length] && offset < Symbols[length].size())
                return Symbols[length][offset];
            if (bits.Overrun) return -1;
        }
        return -1;
    }

private:
    bool Build(const std::vector<uint8_t>& lengths)
    {
        std::vector<int> order(lengths.size());
        for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return lengths[a] < lengths[b]; });
        uint32_t code = 0;
        uint32_t increment = 0;
        int lastLength = 0;
        for (size_t k = order.size(); k-- > 0;) {
            int symbol = order[k];
            int length = lengths[symbol];
            code += increment;
            if (code > 0xFFFF) return false;
            if (length != lastLength) {
                lastLength = length;
                increment = 1u << (16 - length);
            }
            uint32_t shortCode = code >> (16 - length);
            if (Symbols[length].empty()) First[length] = shortCode;
            if (shortCode != First[length] + Symbols[length].size()) return false;
            Symbols[length].push_back(static_cast<uint16_t>(symbol));
        }
        return true;
    }

    std::array<uint32_t, 17> First{};
    std::array<std::vector<uint16_t>, 17> Symbols;
};

ZIPDECODE Explode(BITREADER& bits, WINDOWOUTPUT& out, uint16_t flags)
{
    bool bigWindow = (flags & 2) != 0;
    bool literalTree = (flags & 4) != 0;
    SFTREE literals, lengths, distances;
    if (literalTree && !literals.Read(bits, 256)) return ZIPDECODE::BADDATA;
    if (!lengths.Read(bits, 64) || !distances.Read(bits, 64)) return ZIPDECODE::BADDATA;
    int lowBits = bigWindow ? 7 : 6;
    uint32_t minimumMatch = literalTree ? 3 : 2;
    while (!out.Full()) {
        if (bits.Get(1) == 1) {
            int c = literalTree ? literals.Decode(bits) : static_cast<int>(bits.Get(8));
            if (c < 0 || bits.Overrun) break;
            out.Put(static_cast<uint8_t>(c));
            continue;
        }
        uint32_t low = bits.Get(lowBits);
        int high = distances.Decode(bits);
        int length = lengths.Decode(bits);
        if (high < 0 || length < 0) return bits.Overrun ? ZIPDECODE::TRUNCATED : ZIPDECODE::BADDATA;
        uint32_t total = static_cast<uint32_t>(length);
        if (length == 63) total += bits.Get(8);
        if (bits.Overrun) break;
        out.Copy(((static_cast<uint32_t>(high) << lowBits) | low) + 1, total + minimumMatch);
    }
    return ZIPDECODE::OK;
}

// ---- method 8: deflate through zlib's raw inflate ---------------------------------------------

ZIPDECODE Inflate(uint64_t size, ZIPINPUT& input, ZIPOUTPUT& output)
{
    z_stream stream{};
    if (inflateInit2(&stream, -15) != Z_OK) return ZIPDECODE::NOMEMORY;
    std::unique_ptr<z_stream, int (*)(z_stream*)> guard(&stream, inflateEnd);
    std::vector<uint8_t> in(INPUTCHUNK), out(INPUTCHUNK);
    uint64_t produced = 0;
    bool outputFull = false;
    while (true) {
        // A full output buffer may leave decoded bytes inside zlib with all input consumed.
        if (stream.avail_in == 0 && !outputFull) {
            long got = input.Read(in.data(), in.size());
            if (got < 0) return ZIPDECODE::READFAIL;
            if (got == 0) return ZIPDECODE::TRUNCATED;
            stream.next_in = in.data();
            stream.avail_in = static_cast<uInt>(got);
        }
        stream.next_out = out.data();
        stream.avail_out = static_cast<uInt>(out.size());
        int status = inflate(&stream, Z_NO_FLUSH);
        if (status == Z_MEM_ERROR) return ZIPDECODE::NOMEMORY;
        if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR)
            return ZIPDECODE::BADDATA;
        size_t count = out.size() - stream.avail_out;
        outputFull = stream.avail_out == 0;
        if (count > size - produced) return ZIPDECODE::TOOLONG;
        if (count > 0 && !output.Write(out.data(), count)) return ZIPDECODE::WRITEFAIL;
        produced += count;
        if (status == Z_STREAM_END) return produced == size ? ZIPDECODE::OK : ZIPDECODE::TRUNCATED;
    }
}

ZIPDECODE Legacy(uint16_t method, uint16_t flags, uint64_t size, ZIPINPUT& input, ZIPOUTPUT& output)
{
    // The tables live on the heap: together they are too big for the copy worker's stack.
    auto bits = std::make_unique<BITREADER>(input);
    auto out = std::make_unique<WINDOWOUTPUT>(output, size);
    ZIPDECODE result = ZIPDECODE::OK;
    if (method == 1) {
        result = std::make_unique<UNSHRINK>(*bits, *out)->Run();
    } else if (method >= 2 && method <= 5) {
        result = std::make_unique<UNREDUCE>(*bits, *out, method - 1)->Run();
    } else {
        result = Explode(*bits, *out, flags);
    }
    ZIPDECODE finish = Finish(*bits, *out);
    if (result != ZIPDECODE::OK) return finish == ZIPDECODE::OK ? result : finish;
    if (finish != ZIPDECODE::OK) return finish;
    return out->Count() == size ? ZIPDECODE::OK : ZIPDECODE::TRUNCATED;
}

}  // namespace

bool ZipMethodSupported(uint16_t method)
{
    return method <= 6 || method == 8;
}

ZIPDECODE ZipDecode(uint16_t method, uint16_t flags, uint64_t compressedSize, uint64_t size,
                    ZIPINPUT& input, ZIPOUTPUT& output)
{
    if (!ZipMethodSupported(method)) return ZIPDECODE::UNSUPPORTED;
    if (method == 0) return Store(compressedSize, size, input, output);
    if (method == 8) return Inflate(size, input, output);
    if (size == 0) return ZIPDECODE::OK;
    try {
        return Legacy(method, flags, size, input, output);
    } catch (const std::bad_alloc&) {
        return ZIPDECODE::NOMEMORY;
    }
}
