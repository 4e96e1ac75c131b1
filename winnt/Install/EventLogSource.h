// The driver as a source of the System event log.
#pragma once


namespace installation {

void AddEventLogSource();
void RemoveEventLogSource();

}  // namespace installation
