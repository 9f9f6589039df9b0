#pragma once
// The BIFF8 record types a workbook of ours holds, the substreams its BOF records open, and the
// size limit of a record's data.

#include <cstddef>
#include <cstdint>

namespace tesk::workbook {

constexpr std::uint16_t kBof = 0x0809;
constexpr std::uint16_t kEof = 0x000A;
constexpr std::uint16_t kContinue = 0x003C;
constexpr std::uint16_t kCodepage = 0x0042;
constexpr std::uint16_t kWindow1 = 0x003D;
constexpr std::uint16_t kFont = 0x0031;
constexpr std::uint16_t kXf = 0x00E0;
constexpr std::uint16_t kStyle = 0x0293;
constexpr std::uint16_t kPalette = 0x0092;
constexpr std::uint16_t kBoundSheet = 0x0085;
constexpr std::uint16_t kSst = 0x00FC;
constexpr std::uint16_t kExtSst = 0x00FF;
constexpr std::uint16_t kWsBool = 0x0081;
constexpr std::uint16_t kColInfo = 0x007D;
constexpr std::uint16_t kDimensions = 0x0200;
constexpr std::uint16_t kLabelSst = 0x00FD;
constexpr std::uint16_t kBlank = 0x0201;
constexpr std::uint16_t kWindow2 = 0x023E;

constexpr std::uint16_t kGlobalsStream = 0x0005;
constexpr std::uint16_t kWorksheetStream = 0x0010;

constexpr std::size_t kMaxRecordData = 8224;

}  // namespace tesk::workbook
