// layer_check [SOURCE_ROOT]: fails when a file of src/ includes a folder that
// the layer order puts above its own or beside it.

#include <iostream>
#include <string>
#include <vector>

#include "layer_check/layer_order.h"

int main(int argc, char** argv) {
    return vm::layers::Run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
