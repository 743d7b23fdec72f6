// zubaroo, the chart editor: zubaroo [FILE...] or zubaroo --print-pdf OUT.pdf [--analyze] FILE.
#include "editor/app/my_application.h"

int main(int argc, char** argv) { return zub::runZubaroo(argc, argv); }
