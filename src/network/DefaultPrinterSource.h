// What the reading of the current configuration needs from the default
// printer switch: the name of the printer that is the default now. The
// printer component implements it.
#ifndef ZUBA_NETWORK_DEFAULTPRINTERSOURCE_H_
#define ZUBA_NETWORK_DEFAULTPRINTERSOURCE_H_

#include <string>

namespace zuba::network {

class DefaultPrinterSource {
 public:
  DefaultPrinterSource() = default;
  DefaultPrinterSource(const DefaultPrinterSource&) = delete;
  DefaultPrinterSource& operator=(const DefaultPrinterSource&) = delete;
  virtual ~DefaultPrinterSource() = default;

  // The name of the current default printer; the empty text when there is
  // none. Errors of the platform pass out as the program's exceptions.
  virtual std::string GetDefaultPrinter() = 0;
};

}  // namespace zuba::network

#endif  // ZUBA_NETWORK_DEFAULTPRINTERSOURCE_H_
