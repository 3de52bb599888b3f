// libFuzzer target: arbitrary bytes as a trained network file and its companion.
#include "file_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
    CheckRenFile(datos, tamano);
    return 0;
}
