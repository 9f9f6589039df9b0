#include "fuzz/biff8_reader.h"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "workbook/record_types.h"
#include "workbook/utf16_text.h"

namespace tesk::fuzz {
namespace {

constexpr std::size_t kHeaderSize = 4;

void Expect(bool condition, const char* fault) {
  if (!condition) throw Biff8ReadError(fault);
}

struct Record {
  std::uint16_t id;
  std::size_t at;  // where its header is in the stream
  const std::uint8_t* data;
  std::size_t size;
};

std::vector<Record> Records(const std::vector<std::uint8_t>& stream) {
  std::vector<Record> records;
  for (std::size_t at = 0; at < stream.size();) {
    Expect(stream.size() - at >= kHeaderSize, "a record header cut short");
    const auto id = static_cast<std::uint16_t>(stream[at] | stream[at + 1] << 8);
    const std::size_t size = stream[at + 2] | stream[at + 3] << 8;
    Expect(size <= workbook::kMaxRecordData && stream.size() - at - kHeaderSize >= size, "a record too long");
    records.push_back({id, at, stream.data() + at + kHeaderSize, size});
    at += kHeaderSize + size;
  }
  return records;
}

// A record's little-endian fields, front to back.
class Fields {
 public:
  explicit Fields(const Record& record) : record_(&record) {}
  std::size_t Left() const { return record_->size - at_; }
  // Where the next field is: from its record's header, and in the stream.
  std::size_t InRecord() const { return kHeaderSize + at_; }
  std::size_t InStream() const { return record_->at + InRecord(); }
  std::uint8_t U8() {
    Expect(Left() >= 1, "a field past its record's end");
    return record_->data[at_++];
  }
  std::uint16_t U16() {
    const std::uint16_t low = U8();
    return static_cast<std::uint16_t>(low | U8() << 8);
  }
  std::uint32_t U32() {
    const std::uint32_t low = U16();
    return low | std::uint32_t{U16()} << 16;
  }

 private:
  const Record* record_;
  std::size_t at_ = 0;
};

std::uint16_t SubstreamOf(const Record& bof) {
  Fields fields(bof);
  Expect(fields.U16() == 0x0600, "a BOF not of BIFF8");
  return fields.U16();
}

struct StringStart {
  std::size_t inStream;
  std::size_t inRecord;
};

// The SST and the CONTINUE records after it as one run of fields. A record may end between
// strings, where the next string simply starts the next record, or inside a string's characters,
// where the next record starts with the flags byte that says how the rest of them are stored.
class SharedStringRun {
 public:
  SharedStringRun(const std::vector<Record>& records, std::size_t sst)
      : records_(records), index_(sst), fields_(records[sst]) {}

  Fields& Header() { return fields_; }

  std::u16string String(StringStart& start) {
    if (fields_.Left() == 0) Next();
    start = {fields_.InStream(), fields_.InRecord()};
    Expect(fields_.Left() >= 3, "a string header split between records");
    const std::uint16_t units = fields_.U16();
    bool wide = Flags();
    std::u16string text;
    for (;;) {
      const std::size_t width = wide ? 2 : 1;
      const std::size_t count = std::min<std::size_t>(units - text.size(), fields_.Left() / width);
      Expect(count > 0 || units == 0, "a record with none of a string's characters");
      for (std::size_t i = 0; i < count; ++i) text.push_back(wide ? fields_.U16() : fields_.U8());
      if (text.size() == units) return text;
      Expect(fields_.Left() == 0, "a string continued before its record's end");
      Expect(!workbook::IsHighSurrogate(text.back()), "a surrogate pair split between records");
      Next();
      wide = Flags();
    }
  }

  // The index of the record after the run, once all of it has been read.
  std::size_t End() const {
    Expect(fields_.Left() == 0, "bytes after the last shared string");
    const std::size_t after = index_ + 1;
    Expect(after == records_.size() || records_[after].id != workbook::kContinue, "an unread CONTINUE");
    return after;
  }

 private:
  bool Flags() {
    const std::uint8_t flags = fields_.U8();
    Expect(flags <= 1, "a rich or phonetic string");
    return flags == 1;
  }
  void Next() {
    ++index_;
    Expect(index_ < records_.size() && records_[index_].id == workbook::kContinue,
           "shared strings cut short");
    fields_ = Fields(records_[index_]);
  }

  const std::vector<Record>& records_;
  std::size_t index_;
  Fields fields_;
};

// EXTSST: sets of max(n / 128 + 1, 8) strings, each found by its first string's header.
void CheckIndex(const Record& extSst, const std::vector<StringStart>& starts) {
  Fields fields(extSst);
  const std::size_t perSet = std::max<std::size_t>(starts.size() / 128 + 1, 8);
  Expect(fields.U16() == perSet, "an EXTSST set size of its own");
  for (std::size_t first = 0; first < starts.size(); first += perSet) {
    Expect(fields.U32() == starts[first].inStream && fields.U16() == starts[first].inRecord &&
               fields.U16() == 0,
           "an EXTSST entry that misses its string");
  }
  Expect(fields.Left() == 0, "EXTSST entries past the strings");
}

// Reads the SST at `sst`, its CONTINUE records and the EXTSST after them; returns the EXTSST's
// index.
std::size_t ReadSharedStrings(const std::vector<Record>& records, std::size_t sst,
                              ReadWorkbook& book) {
  SharedStringRun run(records, sst);
  book.references = run.Header().U32();
  const std::uint32_t count = run.Header().U32();
  std::vector<StringStart> starts;
  for (std::uint32_t i = 0; i < count; ++i) {
    starts.emplace_back();
    book.strings.push_back(run.String(starts.back()));
  }
  const std::size_t extSst = run.End();
  Expect(extSst < records.size() && records[extSst].id == workbook::kExtSst, "no EXTSST after the SST");
  CheckIndex(records[extSst], starts);
  return extSst;
}

ReadCell CellOf(const Record& record, const ReadWorkbook& book, std::size_t formats) {
  Fields fields(record);
  ReadCell cell{fields.U16(), fields.U16(), fields.U16(), std::nullopt};  // read left to right
  Expect(cell.xf < formats, "a cell format that is not there");
  if (record.id == workbook::kLabelSst) {
    cell.string = fields.U32();
    Expect(*cell.string < book.strings.size(), "a cell naming no shared string");
  }
  Expect(fields.Left() == 0, "a cell record too long");
  return cell;
}

}  // namespace

// The globals up to their EOF, then the sheet where BOUNDSHEET says, up to the stream's end.
ReadWorkbook ReadBiff8Workbook(const std::vector<std::uint8_t>& stream) {
  const std::vector<Record> records = Records(stream);
  Expect(!records.empty() && records[0].id == workbook::kBof && SubstreamOf(records[0]) == workbook::kGlobalsStream,
         "no globals BOF first");
  ReadWorkbook book;
  std::optional<std::size_t> sheetAt;
  std::size_t formats = 0;  // XF records
  bool sstRead = false;
  bool inSheet = false;
  int ends = 0;
  for (std::size_t i = 1; i < records.size(); ++i) {
    const Record& record = records[i];
    Expect(ends < 2, "records after the sheet's EOF");
    Expect(ends == 0 || inSheet || record.id == workbook::kBof, "records between the globals and the sheet");
    switch (record.id) {
      case workbook::kBoundSheet:
        Expect(!sheetAt && !inSheet, "a second BOUNDSHEET");
        sheetAt = Fields(record).U32();
        break;
      case workbook::kXf:
        Expect(!inSheet, "a cell format in the sheet");
        ++formats;
        break;
      case workbook::kSst:
        Expect(!sstRead && !inSheet, "a second SST");
        i = ReadSharedStrings(records, i, book);
        sstRead = true;
        break;
      case workbook::kBof:
        Expect(ends == 1 && !inSheet && sheetAt == record.at, "a BOF where BOUNDSHEET says none");
        Expect(SubstreamOf(record) == workbook::kWorksheetStream, "a sheet that is no worksheet");
        inSheet = true;
        break;
      case workbook::kEof:
        Expect(record.size == 0, "an EOF with data");
        ++ends;
        break;
      case workbook::kLabelSst:
      case workbook::kBlank:
        Expect(inSheet && sstRead, "a cell outside the sheet");
        book.cells.push_back(CellOf(record, book, formats));
        break;
      case workbook::kContinue:
      case workbook::kExtSst:
        throw Biff8ReadError("a CONTINUE or EXTSST away from the SST");
      default:
        break;
    }
  }
  Expect(ends == 2 && inSheet, "a stream without its sheet");
  return book;
}

}  // namespace tesk::fuzz
