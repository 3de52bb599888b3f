// libFuzzer target: arbitrary bytes as an untrained network file.
#include "file_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
    CheckRnaFile(datos, tamano);
    return 0;
}
