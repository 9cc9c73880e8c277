#pragma once
// Scanned frames as packed bottom-up DIBs: 24 bits for colour, 8 with a grey table, 1 bit with the table
// white, black (SANE's line art marks black with 1). 16-bit samples keep their high byte.

#include "platform/base/GlobalMemory.h"

#include <cstdint>
#include <sane/sane.h>
#include <vector>

// One frame of a scan as the scanner sent it.
struct ScanFrame {
    SANE_Parameters parameters{};
    std::vector<SANE_Byte> bytes;
};

// A DIB for lines of a single-pass frame, filled line by line; the header and table are written at once.
class CScanDibWriter {
public:
    // False from IsValid when the size is empty or beyond what a DIB may hold, or memory runs out.
    CScanDibWriter(const SANE_Parameters& parameters, std::int64_t lines);
    ~CScanDibWriter();
    CScanDibWriter(const CScanDibWriter&) = delete;
    CScanDibWriter& operator=(const CScanDibWriter&) = delete;

    bool IsValid() const { return m_block != nullptr; }
    // Converts one line of the frame's bytes into the next row from the top.
    void WriteLine(const SANE_Byte* line);
    // Puts the next line of each colour frame of a three-pass scan into the next row; a colour whose frame
    // is short stays black.
    void WriteColourLine(const std::vector<ScanFrame>& frames);
    // Rows not written become white; the DIB goes to the caller.
    HGLOBAL Finish();
    std::int64_t Lines() const { return m_height; }
    std::int64_t LinesWritten() const { return m_next; }

private:
    BYTE* Row(std::int64_t line) const { return m_bits + (m_height - 1 - line) * m_rowBytes; }

    SANE_Parameters m_parameters;
    std::int64_t m_width = 0;
    std::int64_t m_height = 0;
    int m_bitCount = 0;
    std::int64_t m_rowBytes = 0;
    HGLOBAL m_block = nullptr;
    BYTE* m_bits = nullptr;
    std::int64_t m_next = 0;
};

// A DIB of every frame of a scan whose line count was unknown or which came in three passes; null when
// its size is beyond what a DIB may hold.
HGLOBAL MakeScanDib(const std::vector<ScanFrame>& frames);
