// Any bytes given to the TSV and CSV readers end in a table or one sorvane::Error, and what
// they read is written back the same way.

#include "dataset/text/CsvText.h"
#include "dataset/text/TsvText.h"
#include "system/Error.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

template <typename Form> void roundTrip(const QByteArray &bytes)
{
    try {
        const sorvane::TableData table = Form::read(bytes);
        const QByteArray written = Form::write(table);
        // Written text is canonical: reading and writing it again changes nothing.
        if (Form::write(Form::read(written)) != written)
            std::abort();
    } catch (const sorvane::Error &) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    roundTrip<sorvane::text::TsvText>(bytes);
    roundTrip<sorvane::text::CsvText>(bytes);
    return 0;
}
