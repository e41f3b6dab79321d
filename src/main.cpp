#include "runtime/game_main.h"

int main() { return GameMain(); }
