#include "frame/main_loop.h"

int main(int argc, char** argv)
{
    return RunVok(argc, argv);
}
