// How a program on the form runtime ends:
//   0                    the last form was closed;
//   kExitBindingFailed   a declared library or entry could not be bound
//                        (BindingError, Library.h);
//   kExitRuntimeFailure  anything else that stopped the runtime: the form's
//                        window could not be created, memory ran out, an
//                        exception reached a form's window procedure (it is
//                        stopped there, before the system's frames), or the
//                        message loop could not get its next message.
// Each failure is reported in a message box with the application's title as
// caption and the stop icon: a failed event at once, one that reached a
// window procedure or the loop once the forms are closed.
#pragma once

namespace formrt {

constexpr int kExitBindingFailed = 2;
constexpr int kExitRuntimeFailure = 3;

}  // namespace formrt
