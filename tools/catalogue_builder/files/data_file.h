// The shape every file the builder writes shares: the engine's banner, a
// legend of comment lines, the separator, an empty line and a column line,
// then one line per record, written whole through the engine's writer.
#pragma once

#include <initializer_list>
#include <string>

#include "Kelvane.h"
#include "record/line_list.h"
#include "record/result.h"

namespace kelvane::builder {

// What went wrong while composing or writing a file, for the builder to report.
struct WriteOutcome {
    bool ok = true;
    std::string problem;

    static WriteOutcome Failed(std::string why) { return {false, std::move(why)}; }
};

class DataFile {
public:
    // legend: comment lines, each with its CR LF; note: one more comment
    // line after them, when not empty; columns: the column line.
    DataFile(std::initializer_list<const TZChar *> legend, const TZChar *columns, const std::basic_string<TZChar> &note = {});

    // The next record line; LastLineFits tells whether it was kept whole.
    LineBuilder Add();
    // Whether the last record line kept its CR LF (was not cut at 254 units)
    // and the file still has room for it.
    bool LastLineFits() const;
    // Writes the file; every failure explained.
    WriteOutcome Write(const TZChar *fileName) const;

private:
    LineList lines_;
    bool allocated_ = false;
    bool overflow_ = false;
};

}  // namespace kelvane::builder
