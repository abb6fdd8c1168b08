// Built only by the test that checks the core cannot reach Qt: this must not compile.
#include <QString>

int qtProbe() { return QString("probe").size(); }
