// Install: files, then the service (created and started), then the event-log
// source.
#pragma once


namespace installation {

void DoInstall();

}  // namespace installation
