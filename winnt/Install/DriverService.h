// The kernel service that loads the driver.
#pragma once


namespace installation {

void CreateDriverService();
void RemoveDriverService();

}  // namespace installation
