// libFuzzer target: arbitrary bytes as a trained network file and its companion.
#include "probar_ficheros.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
    ProbarFicheroRen(datos, tamano);
    return 0;
}
