// The yardstick for the setup tool's process benchmark: C++'s hello world,
// compiled and linked as the tool is.
#include <iostream>

int main() { std::cout << "hello, world\n"; }
