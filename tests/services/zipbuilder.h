// Builds small ZIP archives in memory for the reader's tests: stored or deflated members, with
// the header fields a test wants to get wrong on purpose.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

struct ZIPTESTMEMBER {
    std::string Name;
    std::string Data;
    uint16_t Method = 0;                                   // 0 stored, 8 deflated
    uint16_t DosDate = (5 << 9) | (3 << 5) | 4;            // 1985-03-04
    uint16_t DosTime = (12 << 11) | (34 << 5) | (56 / 2);  // 12:34:56
    uint32_t ExternalAttributes = 0x20;
    uint8_t MadeBySystem = 0;
    uint16_t Flags = 0;
    int64_t DeclaredSize = -1;    // the uncompressed size to write, -1 for the real one
    int64_t OffsetOverride = -1;  // the local header offset to write, -1 for the real one
};

class ZIPBUILDER {
public:
    ZIPBUILDER& Add(const ZIPTESTMEMBER& member)
    {
        Members.push_back(member);
        return *this;
    }

    std::vector<uint8_t> Build(const std::string& prefix = "") const
    {
        std::vector<uint8_t> out(prefix.begin(), prefix.end());
        size_t base = out.size();
        std::vector<uint8_t> central;
        for (const ZIPTESTMEMBER& m : Members) {
            std::string packed = m.Method == 8 ? Deflate(m.Data) : m.Data;
            uint32_t crc =
                static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(m.Data.data()),
                                            static_cast<uInt>(m.Data.size())));
            uint32_t size = m.DeclaredSize >= 0 ? static_cast<uint32_t>(m.DeclaredSize)
                                                : static_cast<uint32_t>(m.Data.size());
            uint32_t offset = m.OffsetOverride >= 0 ? static_cast<uint32_t>(m.OffsetOverride)
                                                    : static_cast<uint32_t>(out.size() - base);
            Put32(out, 0x04034b50);
            Put16(out, 20);
            Common(out, m, crc, static_cast<uint32_t>(packed.size()), size);
            Put16(out, 0);
            out.insert(out.end(), m.Name.begin(), m.Name.end());
            out.insert(out.end(), packed.begin(), packed.end());

            Put32(central, 0x02014b50);
            Put16(central, static_cast<uint16_t>((m.MadeBySystem << 8) | 20));
            Put16(central, 20);
            Common(central, m, crc, static_cast<uint32_t>(packed.size()), size);
            Put16(central, 0);  // extra
            Put16(central, 0);  // comment
            Put16(central, 0);  // disk
            Put16(central, 0);  // internal attributes
            Put32(central, m.ExternalAttributes);
            Put32(central, offset);
            central.insert(central.end(), m.Name.begin(), m.Name.end());
        }
        uint32_t directoryOffset = static_cast<uint32_t>(out.size() - base);
        out.insert(out.end(), central.begin(), central.end());
        Put32(out, 0x06054b50);
        Put16(out, 0);
        Put16(out, 0);
        Put16(out, static_cast<uint16_t>(Members.size()));
        Put16(out, static_cast<uint16_t>(Members.size()));
        Put32(out, static_cast<uint32_t>(central.size()));
        Put32(out, directoryOffset);
        Put16(out, 0);
        return out;
    }

private:
    static void Put16(std::vector<uint8_t>& out, uint16_t v)
    {
        out.push_back(static_cast<uint8_t>(v));
        out.push_back(static_cast<uint8_t>(v >> 8));
    }
    static void Put32(std::vector<uint8_t>& out, uint32_t v)
    {
        Put16(out, static_cast<uint16_t>(v));
        Put16(out, static_cast<uint16_t>(v >> 16));
    }
    // Flags through name length: the fields local and central headers share.
    static void Common(std::vector<uint8_t>& out, const ZIPTESTMEMBER& m, uint32_t crc,
                       uint32_t compressed, uint32_t size)
    {
        Put16(out, m.Flags);
        Put16(out, m.Method);
        Put16(out, m.DosTime);
        Put16(out, m.DosDate);
        Put32(out, crc);
        Put32(out, compressed);
        Put32(out, size);
        Put16(out, static_cast<uint16_t>(m.Name.size()));
    }
    static std::string Deflate(const std::string& data)
    {
        z_stream s{};
        deflateInit2(&s, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
        std::string out(deflateBound(&s, static_cast<uLong>(data.size())) + 16, '\0');
        s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
        s.avail_in = static_cast<uInt>(data.size());
        s.next_out = reinterpret_cast<Bytef*>(out.data());
        s.avail_out = static_cast<uInt>(out.size());
        deflate(&s, Z_FINISH);
        out.resize(s.total_out);
        deflateEnd(&s);
        return out;
    }

    std::vector<ZIPTESTMEMBER> Members;
};
