#pragma once

#include <vemo_core/properties.h>

#include <string>

namespace vemo::osc::testing {

// A network destination as the change log stores it.
inline CL::NetworkPath MakeNetworkPath(const std::string& id, const std::string& name, const std::string& ip, int port,
                                       int transport)
{
    CL::NetworkPath path;
    path.SetNetworkId(id);
    path.SetName(name);
    path.SetIpAddress(ip);
    path.SetPort(port);
    path.SetTransport(transport);
    return path;
}

} // namespace vemo::osc::testing
