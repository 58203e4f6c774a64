#include <iostream>

#include "cli/run.h"

int main(int argc, char** argv) {
    return qm720::cli::run(argc, argv, std::cin, std::cout, std::cerr);
}
