// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>

namespace velora {

// The compressed body of a document file: one zlib stream, made and read by
// ISA-L's deflate, which does in a tenth of the time of zlib's default level
// what that level does on documents (floats of curve points and JPEG bytes
// leave little to find) for files a few percent larger. zlib and every other
// inflater read it as they read any zlib stream.
class BodyDeflate {
public:
    // Receives the compressed bytes in order, in the deflater's own buffer,
    // which the sink may change (the container scrambles them in place).
    using Sink = std::function<void(std::span<uint8_t> compressed)>;

    explicit BodyDeflate(Sink sink);
    ~BodyDeflate();
    BodyDeflate(const BodyDeflate&) = delete;
    BodyDeflate& operator=(const BodyDeflate&) = delete;

    void Add(std::span<const uint8_t> bytes);
    // Ends the stream; nothing may be added after.
    void Finish();

private:
    struct State;
    void Run(bool finish);

    std::unique_ptr<State> m_state;
    Sink m_sink;
};

// The stream of a compressed body that claims to hold streamLength bytes.
// Throws FormatError when the body does not inflate to exactly that many
// bytes or its checksum does not match.
QByteArray InflateBody(std::span<const uint8_t> body, uint32_t streamLength);

// The Adler-32 checksum of bytes following a checksum so far (1 for none),
// as zlib's adler32 computes it, with ISA-L's vector code.
uint32_t Adler32(uint32_t running, std::span<const uint8_t> bytes);

}  // namespace velora
