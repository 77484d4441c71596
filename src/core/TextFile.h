#pragma once
// Text files: UTF-8 inside, Windows-1252 read as a fallback for input that is
// not valid UTF-8, CR LF written, LF alone accepted.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace arc {

/// Appends the UTF-8 encoding of a code point (at most U+10FFFF).
void AppendUtf8(std::string& out, std::uint32_t code);

/// XML character data with its references replaced (the five named ones and
/// numeric ones); false at a reference that is not one of XML's own, `out`
/// then holding a part.
bool DecodeXmlText(std::string_view text, std::string& out);
/// "&", "<" and ">" written as references: text for XML or HTML character data.
std::string EscapeXmlText(std::string_view text);
/// EscapeXmlText(text) appended to `out`.
void AppendEscapedXml(std::string& out, std::string_view text);

bool IsValidUtf8(std::string_view text);
/// Bytes of the first UTF-8 character, told by its lead byte and never beyond
/// the text (0 for empty text).
std::size_t Utf8FirstCharLength(std::string_view text);
/// Windows-1252 bytes to UTF-8.
std::string Cp1252ToUtf8(std::string_view text);
/// The text itself when valid UTF-8, else its Windows-1252 reading.
std::string ToUtf8(std::string_view text);

/// Whole file as UTF-8 (see ToUtf8) without its leading byte-order marks;
/// false when it cannot be read.
bool ReadTextFile(std::string_view path, std::string& text);

/// Lines of a file (CR LF or LF), each converted by ToUtf8.
bool ReadTextLines(std::string_view path, std::vector<std::string>& lines);

/// Writes the lines, each ended by CR LF, through a ReplacingFile (temporary
/// file renamed over the target, mode kept). False (target untouched, errno
/// set) on failure.
bool WriteTextLines(std::string_view path, const std::vector<std::string>& lines);

/// Writes the bytes as they are, the same way. `sync` flushes the data to the
/// disk before the rename; files that are cheap to make again may skip it.
/// False (target untouched, errno set) on failure.
bool WriteFileAtomically(std::string_view path, std::string_view bytes, bool sync = true);

/// Streams a file line by line with a bounded buffer, skipping the leading
/// byte-order marks; lines are converted by ToUtf8 unless raw is asked. Offset() is the byte
/// position for progress.
class LineReader {
  public:
    explicit LineReader(std::string_view path, bool raw = false);
    /// Reads an open stream (a pipe) as it arrives, left open for its owner;
    /// every byte read is also written to `copy` when one is given.
    LineReader(std::FILE* stream, std::FILE* copy);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    /// Next line without its end; false at the end of the file.
    bool Next(std::string& line);
    /// Next line's bytes without its end and without conversion, valid until
    /// the next call (no copy); false at the end of the file.
    bool NextView(std::string_view& line);
    std::uint64_t Offset() const { return offset_; }
    std::uint64_t Size() const { return size_; }
    /// A read or copy error ended the input early.
    bool Failed() const { return failed_; }

  private:
    bool Fill();
    void DropByteOrderMarks();
    std::FILE* file_ = nullptr;
    std::FILE* copy_ = nullptr;
    bool owned_ = true;
    bool failed_ = false;
    bool raw_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool eof_ = false;
    std::uint64_t offset_ = 0;
    std::uint64_t size_ = 0;
};

}  // namespace arc
