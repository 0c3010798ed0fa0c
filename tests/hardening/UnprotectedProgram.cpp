// Linked without address randomisation, relocations and NX compatibility, as a counterpart
// for the header checks of the shipped program.
int main() { return 0; }
