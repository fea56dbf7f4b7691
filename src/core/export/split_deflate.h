// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <cstdint>
#include <deque>
#include <functional>
#include <future>
#include <vector>

namespace velora {

// One zlib stream of everything added, compressed in bands of a megabyte on
// all cores at once, as pigz does: each band is deflated on its own with the
// 32 KB before it as its dictionary and ends on a byte boundary (a sync
// flush), so the bands join into one stream that any inflater reads. The
// compressed bytes go to the sink in order as they are ready; memory stays
// at a few bands whatever the size. Throws VeloraError when zlib fails.
class SplitDeflate {
public:
    using Sink = std::function<void(const uchar* data, size_t size)>;

    // level and strategy as zlib's deflateInit2 takes them.
    SplitDeflate(int level, int strategy, Sink sink);
    ~SplitDeflate();
    SplitDeflate(const SplitDeflate&) = delete;
    SplitDeflate& operator=(const SplitDeflate&) = delete;

    void Add(const uchar* data, size_t size);
    // Compresses the rest and ends the stream; nothing may be added after.
    void Finish();

private:
    struct Band {
        std::vector<uchar> compressed;
        uint32_t adler = 1;
        size_t length = 0;
    };

    void StartBand(bool last);
    void EmitOldest();

    int m_level;
    int m_strategy;
    Sink m_sink;
    size_t m_inFlight;
    std::vector<uchar> m_input;
    std::vector<uchar> m_dictionary;
    std::deque<std::future<Band>> m_bands;
    uint32_t m_adler = 1;
    bool m_headerWritten = false;
};

}  // namespace velora
