#include <QApplication>

int runParticleTests(int argc, char **argv);
int runCommandTests(int argc, char **argv);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int particles = runParticleTests(argc, argv);
    const int commands = runCommandTests(argc, argv);
    return particles + commands;
}
