// The GUI program: it only starts the application object (--help and
// --version are answered before it exists, so they need no display).

#include "app/CTavoCPSApp.h"
#include "ProgramVersion.h"

int main(int argc, char **argv)
{
    const int answered = tavo::CTavoCPSApp::AnswerHelpAndVersion(argc, argv, TAVO_PROGRAM_VERSION);
    if (answered >= 0)
        return answered;
    return tavo::CTavoCPSApp::Main(argc, argv);
}
