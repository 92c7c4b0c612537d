// The GUI program: it only starts the application object.

#include "app/CTavoCPSApp.h"

int main(int argc, char **argv) { return tavo::CTavoCPSApp::Main(argc, argv); }
