#include "support/ZipWriter.h"

#include <stdexcept>
#include <zlib.h>

namespace {

void AppendU16(std::string& bytes, uint16_t value) {
    bytes += static_cast<char>(value & 0xFF);
    bytes += static_cast<char>(value >> 8);
}

void AppendU32(std::string& bytes, uint32_t value) {
    AppendU16(bytes, static_cast<uint16_t>(value & 0xFFFF));
    AppendU16(bytes, static_cast<uint16_t>(value >> 16));
}

struct EncodedEntry {
    const ZipWriterEntry* entry;
    std::string data;
    uint32_t crc;
    uint64_t localOffset;
};

uint16_t FlagsOf(const ZipWriterEntry& entry) {
    return static_cast<uint16_t>(entry.flags | (entry.dataDescriptor ? 0x0008 : 0));
}

void AppendLocal(std::string& out, const EncodedEntry& encoded) {
    const ZipWriterEntry& entry = *encoded.entry;
    const bool deferred = entry.dataDescriptor;
    AppendU32(out, 0x04034B50);
    AppendU16(out, 20);
    AppendU16(out, FlagsOf(entry));
    AppendU16(out, entry.method);
    AppendU16(out, entry.dosTime);
    AppendU16(out, entry.dosDate);
    AppendU32(out, deferred ? 0 : encoded.crc);
    AppendU32(out, deferred ? 0 : static_cast<uint32_t>(encoded.data.size()));
    AppendU32(out, deferred ? 0 : static_cast<uint32_t>(entry.content.size()));
    const std::string& name = entry.localName.empty() ? entry.name : entry.localName;
    AppendU16(out, static_cast<uint16_t>(name.size()));
    AppendU16(out, static_cast<uint16_t>(entry.localExtra.size()));
    out += name + entry.localExtra + encoded.data;
    if (deferred) {
        AppendU32(out, 0x08074B50);
        AppendU32(out, encoded.crc);
        AppendU32(out, static_cast<uint32_t>(encoded.data.size()));
        AppendU32(out, static_cast<uint32_t>(entry.content.size()));
    }
}

void AppendCentral(std::string& out, const EncodedEntry& encoded) {
    const ZipWriterEntry& entry = *encoded.entry;
    AppendU32(out, 0x02014B50);
    AppendU16(out, 0x031E);
    AppendU16(out, 20);
    AppendU16(out, FlagsOf(entry));
    AppendU16(out, entry.method);
    AppendU16(out, entry.dosTime);
    AppendU16(out, entry.dosDate);
    AppendU32(out, encoded.crc);
    AppendU32(out, static_cast<uint32_t>(encoded.data.size()));
    AppendU32(out, static_cast<uint32_t>(entry.content.size()));
    AppendU16(out, static_cast<uint16_t>(entry.name.size()));
    AppendU16(out, 0);
    AppendU16(out, 0);
    AppendU16(out, 0);
    AppendU16(out, 0);
    AppendU32(out, 0);
    AppendU32(out, static_cast<uint32_t>(encoded.localOffset));
    out += entry.name;
}

} // namespace

std::string RawDeflate(const std::string& content) {
    z_stream stream{};
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) !=
        Z_OK)
        throw std::runtime_error("deflateInit2");
    std::string out(deflateBound(&stream, content.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.data()));
    stream.avail_in = static_cast<uInt>(content.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (result != Z_STREAM_END)
        throw std::runtime_error("deflate");
    return out;
}

uint32_t Crc32Of(const std::string& content) {
    return static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(content.data()),
                                       static_cast<uInt>(content.size())));
}

void PutU16(std::string& bytes, uint64_t offset, uint16_t value) {
    bytes.at(offset) = static_cast<char>(value & 0xFF);
    bytes.at(offset + 1) = static_cast<char>(value >> 8);
}

void PutU32(std::string& bytes, uint64_t offset, uint32_t value) {
    PutU16(bytes, offset, static_cast<uint16_t>(value & 0xFFFF));
    PutU16(bytes, offset + 2, static_cast<uint16_t>(value >> 16));
}

ZipWriter& ZipWriter::Add(ZipWriterEntry entry) {
    entries_.push_back(std::move(entry));
    return *this;
}

ZipWriter& ZipWriter::File(const std::string& name, const std::string& content, uint16_t method) {
    ZipWriterEntry entry;
    entry.name = name;
    entry.content = content;
    entry.method = method;
    return Add(std::move(entry));
}

ZipWriter& ZipWriter::Folder(const std::string& name) {
    return File(name, "", 0);
}

ZipWriter& ZipWriter::Comment(const std::string& comment) {
    comment_ = comment;
    return *this;
}

ZipLayout ZipWriter::Build() const {
    ZipLayout layout;
    std::vector<EncodedEntry> encoded;
    for (const ZipWriterEntry& entry : entries_) {
        const std::string data = entry.method == 8 ? RawDeflate(entry.content) : entry.content;
        encoded.push_back({&entry, data, Crc32Of(entry.content), layout.bytes.size()});
        layout.localOffsets.push_back(layout.bytes.size());
        AppendLocal(layout.bytes, encoded.back());
    }
    layout.directoryOffset = layout.bytes.size();
    for (const EncodedEntry& entry : encoded) {
        layout.centralOffsets.push_back(layout.bytes.size());
        AppendCentral(layout.bytes, entry);
    }
    const auto directorySize = static_cast<uint32_t>(layout.bytes.size() - layout.directoryOffset);
    layout.endRecordOffset = layout.bytes.size();
    AppendU32(layout.bytes, 0x06054B50);
    AppendU16(layout.bytes, 0);
    AppendU16(layout.bytes, 0);
    AppendU16(layout.bytes, static_cast<uint16_t>(encoded.size()));
    AppendU16(layout.bytes, static_cast<uint16_t>(encoded.size()));
    AppendU32(layout.bytes, directorySize);
    AppendU32(layout.bytes, static_cast<uint32_t>(layout.directoryOffset));
    AppendU16(layout.bytes, static_cast<uint16_t>(comment_.size()));
    layout.bytes += comment_;
    return layout;
}
