// vorn-demo: the detail-map and bump-map demonstration. It takes no arguments.
#include "app/main_loop.h"

int main() { return runDemo(); }
