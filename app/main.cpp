// velmo: the variable star catalogue search program.
#include "app/search_app.h"
#include "toolkit/application.h"

int main(int argc, char** argv) {
    // Naming theApp keeps its object file, and so the application object,
    // in the link; RunApplication finds it through Application::Instance().
    static_cast<void>(&theApp);
    return tk::RunApplication(argc, argv);
}
