#include "support/TinyZip.h"

#include <cstdint>

namespace {

uint32_t Crc32(const std::string& bytes) {
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void Put(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// Version, flags, method (stored), time, date, CRC, sizes, name length.
void PutEntryFields(std::string& out, const std::string& name, const std::string& content) {
    const auto size = static_cast<uint32_t>(content.size());
    Put(out, 20, 2);
    Put(out, 0, 2);
    Put(out, 0, 2);
    Put(out, 0, 2);
    Put(out, 0x21, 2);
    Put(out, Crc32(content), 4);
    Put(out, size, 4);
    Put(out, size, 4);
    Put(out, static_cast<uint32_t>(name.size()), 2);
}

} // namespace

std::string StoredZip(const std::string& name, const std::string& content) {
    std::string zip;
    Put(zip, 0x04034B50, 4);
    PutEntryFields(zip, name, content);
    Put(zip, 0, 2); // extra length
    zip += name + content;
    const auto directoryOffset = static_cast<uint32_t>(zip.size());
    Put(zip, 0x02014B50, 4);
    Put(zip, 20, 2); // made by
    PutEntryFields(zip, name, content);
    zip.append(2 + 2 + 2 + 2 + 4, '\0'); // extra, comment, disk, internal, external
    Put(zip, 0, 4);                      // local header offset
    zip += name;
    const auto directorySize = static_cast<uint32_t>(zip.size()) - directoryOffset;
    Put(zip, 0x06054B50, 4);
    Put(zip, 0, 4); // disk numbers
    Put(zip, 1, 2);
    Put(zip, 1, 2);
    Put(zip, directorySize, 4);
    Put(zip, directoryOffset, 4);
    Put(zip, 0, 2); // comment length
    return zip;
}
