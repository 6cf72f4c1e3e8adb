// The hub's inbound routes, handed to dispatch at start-up.
#pragma once

void InstallHubInboundRoutes();
