// Runs one golden case (support/golden_case.hpp); a mismatch prints a short
// readable diff and fails.
#include <iostream>
#include <string>

#include "support/golden_case.hpp"
#include "support/test_home.hpp"

int main(int argc, char** argv)
{
    qrb::test::use_test_home();
    if (argc != 2) {
        std::cerr << "usage: qrb_golden CASE_FOLDER\n";
        return 2;
    }
    const std::string fault = qrb::test::check_golden_case(argv[1]);
    if (fault.empty()) return 0;
    std::cout << fault;
    return 1;
}
