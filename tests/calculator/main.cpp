#include <QApplication>

int runTestFormules(int argc, char **argv);
int runTestCalculadora(int argc, char **argv);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int formules = runTestFormules(argc, argv);
    const int calculadora = runTestCalculadora(argc, argv);
    return formules || calculadora ? 1 : 0;
}
