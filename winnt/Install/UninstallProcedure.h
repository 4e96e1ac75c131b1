// Uninstall, after a confirmation: files, then the event-log source, then the
// service.
#pragma once


namespace installation {

void DoUninstall();

}  // namespace installation
