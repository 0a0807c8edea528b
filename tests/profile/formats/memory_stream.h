#pragma once
// A caller stream over a byte string, counting references, for tests.
#include "tbpr14.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace testsupport {

struct MemoryStream {
    ProfStream base{&vtable()};
    std::string bytes;
    uint64_t position = 0;
    int references = 1;
    size_t readLimit = ~size_t{0}; // bytes delivered at most, to simulate a short read

    ProfStream *stream() { return &base; }

    static MemoryStream &self(ProfStream *s) { return *reinterpret_cast<MemoryStream *>(s); }

    static const ProfStreamVtbl &vtable()
    {
        static const ProfStreamVtbl table = {
            [](ProfStream *s, void *buffer, uint32_t size, uint32_t *done) {
                MemoryStream &m = self(s);
                size_t available = m.position < m.bytes.size() ? m.bytes.size() - m.position : 0;
                available = std::min(available, m.readLimit > m.position ? m.readLimit - m.position : 0);
                const size_t n = std::min<size_t>(size, available);
                std::memcpy(buffer, m.bytes.data() + m.position, n);
                m.position += n;
                *done = static_cast<uint32_t>(n);
                return static_cast<int>(PROF_STREAM_OK);
            },
            [](ProfStream *s, const void *buffer, uint32_t size, uint32_t *done) {
                MemoryStream &m = self(s);
                if (m.bytes.size() < m.position + size)
                    m.bytes.resize(m.position + size);
                std::memcpy(m.bytes.data() + m.position, buffer, size);
                m.position += size;
                *done = size;
                return static_cast<int>(PROF_STREAM_OK);
            },
            [](ProfStream *s, int64_t offset, int origin, uint64_t *position) {
                MemoryStream &m = self(s);
                const int64_t base = origin == PROF_SEEK_SET   ? 0
                                     : origin == PROF_SEEK_CUR ? static_cast<int64_t>(m.position)
                                                               : static_cast<int64_t>(m.bytes.size());
                m.position = static_cast<uint64_t>(base + offset);
                if (position)
                    *position = m.position;
                return static_cast<int>(PROF_STREAM_OK);
            },
            [](ProfStream *s, uint64_t size) {
                self(s).bytes.resize(size);
                return static_cast<int>(PROF_STREAM_OK);
            },
            nullptr, // no region locks
            nullptr,
            [](ProfStream *s, uint64_t *size) {
                *size = self(s).bytes.size();
                return static_cast<int>(PROF_STREAM_OK);
            },
            [](ProfStream *s) { return static_cast<uint32_t>(++self(s).references); },
            [](ProfStream *s) { return static_cast<uint32_t>(--self(s).references); },
        };
        return table;
    }
};

} // namespace testsupport
