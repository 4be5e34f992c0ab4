#pragma once
// Where an export's bytes go when they are not gathered into one string: a file
// hundreds of megabytes long is handed over in pieces of about kExportPieceSize
// bytes as it is made (core/Pieces.h), so memory holds the input and a few
// pieces, not the whole output.

#include "core/Pieces.h"

namespace talmir::exporters {

inline constexpr std::size_t kExportPieceSize = kPieceSize;

class ExportSink : public PieceSink {};

// The output of a sequential export (see talmir::PieceBuffer).
using talmir::PieceBuffer;

}  // namespace talmir::exporters
