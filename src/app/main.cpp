#include "app/StartUp.h"

int main(int argc, char* argv[]) {
    return linvox::RunLinvox(argc, argv);
}
