#include "apps/tarnwick-simstub/XPlaneStubRun.h"

#include <exception>
#include <iostream>
#include <memory>

#include "simlink/SystemXPlanePort.h"
#include "simstub/XPlaneStubServer.h"

namespace tarnwick {

int RunXPlaneStub(const StubOptions& options, const std::function<bool()>& stopRequested) {
  try {
    const std::unique_ptr<XPlanePort> port = MakeSystemXPlanePort();
    XPlaneSubstitute substitute(options.xplaneSetup, [](const std::string& dataref, float value) {
      std::cout << DescribeDref(dataref, value) << std::endl;
    });
    XPlaneStubServer server(*port, {kLoopbackAddress, options.xplanePort}, substitute);
    std::cerr << "tarnwick-simstub: playing X-Plane on 127.0.0.1 port "
              << server.LocalEndpoint().port << '\n';
    server.Serve(stopRequested);
  } catch (const std::exception& error) {
    std::cerr << "tarnwick-simstub: " << error.what() << '\n';
    return 1;
  }
  return 0;
}

}  // namespace tarnwick
