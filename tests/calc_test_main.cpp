// Runs the core's tests under the locale of the environment, as the program
// itself runs once Qt has set it, so a comma-decimal locale is really in force.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>

int main(int argc, char** argv) {
    if (!std::setlocale(LC_ALL, "")) {
        std::fprintf(stderr, "calc_tests: the locale of the environment is not installed\n");
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
