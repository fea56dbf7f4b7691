// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/archive/body_codec.h"

#include "core/common/errors.h"

#include <QCoreApplication>

#include <isa-l/igzip_lib.h>

#include <vector>

namespace velora {

namespace {
constexpr int kLevel = 3;
constexpr size_t kOutputBytes = size_t(1) << 20;
}  // namespace

struct BodyDeflate::State {
    isal_zstream stream{};
    std::vector<uint8_t> levelBuffer = std::vector<uint8_t>(ISAL_DEF_LVL3_DEFAULT);
    std::vector<uint8_t> output = std::vector<uint8_t>(kOutputBytes);
};

BodyDeflate::BodyDeflate(Sink sink) : m_state(std::make_unique<State>()), m_sink(std::move(sink)) {
    isal_zstream& stream = m_state->stream;
    isal_deflate_init(&stream);
    stream.level = kLevel;
    stream.level_buf = m_state->levelBuffer.data();
    stream.level_buf_size = uint32_t(m_state->levelBuffer.size());
    stream.gzip_flag = IGZIP_ZLIB;
    stream.flush = NO_FLUSH;
}

BodyDeflate::~BodyDeflate() = default;

void BodyDeflate::Add(std::span<const uint8_t> bytes) {
    isal_zstream& stream = m_state->stream;
    // The deflater takes at most 4 GB a call and never writes to its input.
    constexpr size_t kMaxCall = size_t(1) << 30;
    while (!bytes.empty()) {
        const size_t take = std::min(bytes.size(), kMaxCall);
        stream.next_in = const_cast<uint8_t*>(bytes.data());
        stream.avail_in = uint32_t(take);
        Run(false);
        bytes = bytes.subspan(take);
    }
}

void BodyDeflate::Finish() {
    isal_zstream& stream = m_state->stream;
    stream.next_in = nullptr;
    stream.avail_in = 0;
    stream.end_of_stream = 1;
    Run(true);
}

void BodyDeflate::Run(bool finish) {
    isal_zstream& stream = m_state->stream;
    std::vector<uint8_t>& output = m_state->output;
    for (;;) {
        stream.next_out = output.data();
        stream.avail_out = uint32_t(output.size());
        const int status = isal_deflate(&stream);
        if (status != COMP_OK) {
            throw VeloraError(
                QCoreApplication::translate("velora",
                                            "the document could not be compressed (deflate "
                                            "error %1)")
                    .arg(status));
        }
        const size_t made = output.size() - stream.avail_out;
        if (made > 0) m_sink({output.data(), made});
        const bool done = finish ? stream.internal_state.state == ZSTATE_END
                                 : stream.avail_in == 0 && stream.avail_out > 0;
        if (done) return;
    }
}

QByteArray InflateBody(std::span<const uint8_t> body, uint32_t streamLength) {
    QByteArray stream(static_cast<qsizetype>(streamLength), Qt::Uninitialized);
    inflate_state state{};
    isal_inflate_init(&state);
    state.crc_flag = ISAL_ZLIB;
    // The inflater never writes to its input; bodies are below 4 GB, as
    // files of the largest stream we accept are.
    state.next_in = const_cast<uint8_t*>(body.data());
    state.avail_in = uint32_t(std::min<size_t>(body.size(), UINT32_MAX));
    state.next_out = reinterpret_cast<uint8_t*>(stream.data());
    state.avail_out = streamLength;
    const int status = isal_inflate(&state);
    const bool ended = state.block_state == ISAL_BLOCK_FINISH;
    if (status == ISAL_OUT_OVERFLOW) {
        throw FormatError(
            QCoreApplication::translate("velora",
                                        "the compressed data holds more than the %1 bytes "
                                        "its header gives")
                .arg(streamLength));
    }
    if (status != ISAL_DECOMP_OK)
        throw FormatError(QCoreApplication::translate("velora", "the compressed data is damaged"));
    if (!ended)
        throw FormatError(QCoreApplication::translate("velora", "the compressed data ends early"));
    if (state.avail_out != 0) {
        throw FormatError(
            QCoreApplication::translate("velora",
                                        "the compressed data holds %1 bytes, not the %2 its "
                                        "header gives")
                .arg(streamLength - state.avail_out)
                .arg(streamLength));
    }
    return stream;
}

}  // namespace velora
