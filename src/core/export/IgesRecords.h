#pragma once
// IGES in the fixed 80-column ASCII form, as the exports write it: every record is
// 72 columns of data, the section letter in column 73 and the sequence number
// right-aligned in columns 74 to 80, followed by CR LF. Sections follow each other
// S, G, D, P, T.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace talmir::exporters {

class ExportSink;

// Writes the directory and parameter entries of the entities in program order and
// the whole file around them. The number of entities is known beforehand, so the
// directory section (two records per entity) is laid out at once and the
// parameter records follow it directly. Usage:
//   IgesWriter iges(caption, "20240102", "030405", 1);
//   iges.add(110, level, "LINE    ", "110,0.0,0.0,0.,10.0,0.0,0.0;");
//   std::string file = std::move(iges).finish();
// With a sink the file goes to it in pieces: the start and global records, then
// directory and parameter pieces side by side, each at its final offset.
class IgesWriter {
public:
    // Writes the start record and the global section: the caption as product and
    // file name, the date "yyyymmdd" and time "hhnnss" of the file. `entities`
    // entities are to be added; without a sink that number only sizes the
    // directory, with one it must be exact.
    IgesWriter(std::string_view caption, std::string_view date, std::string_view time,
               std::size_t entities, ExportSink* sink = nullptr);

    // One entity: its type, level, an eight-character label and the parameter text
    // (numbers already written, ended by ";"). A text longer than 64 columns goes on
    // over further parameter records, broken after a comma.
    void add(int type, int level, std::string_view label, std::string_view parameters);

    // The whole file, ended by the terminate record (without a sink).
    std::string finish() &&;
    // With a sink: hands over the rest and the terminate record; gives the length
    // of the file in bytes.
    std::uint64_t finishPieces();

    std::size_t entityCount() const { return m_entities; }

private:
    // A record number as right-aligned text in eight columns, counted up by one;
    // once it outgrows them only its last digits stay, as in any number field.
    struct RecordNumber {
        char text[8] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', '0'};
        void next();
    };

    char* directoryEntry();
    void handOverWhenFull();

    ExportSink* m_sink;
    // Without a sink: start, global, directory and parameter sections. With one:
    // the parameter records not yet handed over.
    std::string m_out;
    // With a sink: the directory entries not yet handed over.
    std::string m_directory;
    // Where the directory starts in m_out, or with a sink the file offset of
    // m_directory's first byte; m_parameterOffset is that of m_out.
    std::uint64_t m_directoryStart = 0;
    std::uint64_t m_parameterOffset = 0;
    std::size_t m_capacity = 0;  // entities the directory section has room for
    std::size_t m_globalLines = 0;
    std::size_t m_entities = 0;
    std::size_t m_parameterLines = 0;
    RecordNumber m_directoryNumber;  // of the last directory record
    RecordNumber m_parameterNumber;  // of the last parameter record
};

// The text of the global section (without its record framing). Each Hollerith
// count is the byte length of the string after it.
std::string igesGlobalText(std::string_view caption, std::string_view date, std::string_view time);

}  // namespace talmir::exporters
