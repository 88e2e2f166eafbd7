// Arbitrary text to the integer reader: a value or nothing, and a value read back from its
// own decimal text is the same value.
#include "system/IntegerText.h"

#include <cstdint>
#include <cstdlib>

using namespace sorvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    if (const auto value = IntegerText::read(text)) {
        if (IntegerText::read(IntegerText::format(*value)) != value)
            abort();
    }
    return 0;
}
