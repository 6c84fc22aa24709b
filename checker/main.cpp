// tarnwick-check: finds a script's mistakes and shows its plan before the disc is pressed.
#include <iostream>

#include "run_check.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    return check::RunCheck(args, std::cout, std::cerr);
}
