#include <QApplication>
#include <QMainWindow>
#include <clocale>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // Qt takes the locale from the environment; numbers are never locale-dependent.
  std::setlocale(LC_NUMERIC, "C");
  QMainWindow window;
  window.setWindowTitle("Pravik");
  window.resize(1024, 700);
  window.show();
  return app.exec();
}
