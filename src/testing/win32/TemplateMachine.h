// The template machine the Windows tests seed their Wine prefix from:
// $ZUBA_TEMPLATE_MACHINE names its directory (written by zubanet-machine
// init) as a Windows path, and its machine.ini says which Windows it is.
#ifndef ZUBA_TESTING_WIN32_TEMPLATEMACHINE_H_
#define ZUBA_TESTING_WIN32_TEMPLATEMACHINE_H_

#include <string>

#include "testing/TestMachine.h"

namespace zuba::testing {

// The template's directory; throws std::runtime_error when the variable is
// not set.
std::string TemplateDirectory();

// The Windows of the template: Windows 95 for version 4.0, else Windows 98.
// Throws std::runtime_error when its machine.ini has no version.
Template TemplateOfMachine();

}  // namespace zuba::testing

#endif  // ZUBA_TESTING_WIN32_TEMPLATEMACHINE_H_
