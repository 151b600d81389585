// Starter: a program that carries another program inside itself and runs it.

#include "launcher/Launcher.h"

int main() {
    SeedRandomGenerator();
    return RunEmbeddedApplication();
}
