// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/split_deflate.h"

#include "core/common/errors.h"

#include <QtEndian>

#include <algorithm>
#include <array>
#include <thread>

#include <zlib.h>

namespace velora {

namespace {
constexpr size_t kBandBytes = size_t(1) << 20;
constexpr size_t kDictionaryBytes = size_t(32) << 10;
constexpr int kWindowBits = 15;
constexpr int kMemLevel = 8;

[[noreturn]] void Fail(int status) {
    throw VeloraError(QStringLiteral("the compression failed (zlib error %1)").arg(status));
}

// The two header bytes zlib writes for the level and strategy.
std::array<uchar, 2> ZlibHeader(int level, int strategy) {
    const int levelFlags = strategy >= Z_HUFFMAN_ONLY || level < 2        ? 0
                           : level < 6                                    ? 1
                           : level == 6 || level == Z_DEFAULT_COMPRESSION ? 2
                                                                          : 3;
    unsigned header = ((Z_DEFLATED + ((kWindowBits - 8) << 4)) << 8) | (levelFlags << 6);
    header += 31 - header % 31;
    return {uchar(header >> 8), uchar(header & 0xFF)};
}

// Raw deflate of one band; a band that is not the last ends with a sync
// flush so that the next one can start on a byte boundary.
std::vector<uchar> DeflateBand(const std::vector<uchar>& input,
                               const std::vector<uchar>& dictionary, int level, int strategy,
                               bool last) {
    z_stream stream{};
    int status = deflateInit2(&stream, level, Z_DEFLATED, -kWindowBits, kMemLevel, strategy);
    if (status != Z_OK) Fail(status);
    std::vector<uchar> output(deflateBound(&stream, uLong(input.size())) + 16);
    if (!dictionary.empty()) {
        status = deflateSetDictionary(&stream, dictionary.data(), uInt(dictionary.size()));
    }
    stream.next_in = const_cast<uchar*>(input.data());
    stream.avail_in = uInt(input.size());
    stream.next_out = output.data();
    stream.avail_out = uInt(output.size());
    if (status == Z_OK) status = deflate(&stream, last ? Z_FINISH : Z_SYNC_FLUSH);
    const bool done = last ? status == Z_STREAM_END : status == Z_OK && stream.avail_in == 0;
    output.resize(stream.total_out);
    deflateEnd(&stream);
    if (!done) Fail(status);
    return output;
}
}  // namespace

SplitDeflate::SplitDeflate(int level, int strategy, Sink sink)
    : m_level(level),
      m_strategy(strategy),
      m_sink(std::move(sink)),
      m_inFlight(std::max(1u, std::thread::hardware_concurrency())) {
    m_input.reserve(kBandBytes);
}

// Bands still running are waited for: they read nothing of this object's.
SplitDeflate::~SplitDeflate() = default;

void SplitDeflate::Add(const uchar* data, size_t size) {
    while (size > 0) {
        const size_t take = std::min(size, kBandBytes - m_input.size());
        m_input.insert(m_input.end(), data, data + take);
        data += take;
        size -= take;
        if (m_input.size() == kBandBytes) StartBand(false);
    }
}

void SplitDeflate::Finish() {
    StartBand(true);
    while (!m_bands.empty()) EmitOldest();
    std::array<uchar, 4> trailer{};
    qToBigEndian(m_adler, trailer.data());
    m_sink(trailer.data(), trailer.size());
}

void SplitDeflate::StartBand(bool last) {
    if (m_bands.size() >= m_inFlight) EmitOldest();
    // Every band but the last is full, so the next one's dictionary is the
    // end of this one.
    const size_t keep = std::min(m_input.size(), kDictionaryBytes);
    std::vector<uchar> next(m_input.end() - qsizetype(keep), m_input.end());
    auto work = [input = std::move(m_input), dictionary = std::move(m_dictionary), level = m_level,
                 strategy = m_strategy, last] {
        Band band;
        band.compressed = DeflateBand(input, dictionary, level, strategy, last);
        band.adler = uint32_t(adler32_z(1, input.data(), input.size()));
        band.length = input.size();
        return band;
    };
    m_bands.push_back(std::async(std::launch::async, std::move(work)));
    m_dictionary = std::move(next);
    m_input.clear();
    m_input.reserve(kBandBytes);
}

void SplitDeflate::EmitOldest() {
    Band band = m_bands.front().get();
    m_bands.pop_front();
    if (!m_headerWritten) {
        const auto header = ZlibHeader(m_level, m_strategy);
        m_sink(header.data(), header.size());
        m_headerWritten = true;
    }
    m_adler = uint32_t(adler32_combine(m_adler, band.adler, z_off_t(band.length)));
    m_sink(band.compressed.data(), band.compressed.size());
}

}  // namespace velora
