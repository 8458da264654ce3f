// velmo: the variable star catalogue search program. Its application object,
// theApp (search_app.cpp), registers itself during static initialisation;
// RunApplication finds it and runs its start-up.
#include "toolkit/application.h"

int main(int argc, char** argv) { return tk::RunApplication(argc, argv); }
