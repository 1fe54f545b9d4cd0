#include "app/CKeywordsApp.h"

int main(int argc, char** argv) {
    return RunOrvalis(argc, argv);
}
