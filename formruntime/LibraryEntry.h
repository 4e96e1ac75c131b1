// A declared entry of a library, bound by name at its first call:
//
//   formrt::Library mirvo{"Mirvo"};
//   formrt::LibraryEntry<LONG(formrt::AnsiString, LONG)> Open{mirvo, "Open"};
//   LONG handle = Open("KVT1", 0);
//
// The signature is written as the library sees it with two kinds of
// argument that the runtime passes for the form's code:
//  - AnsiString: a string by value; the entry receives a pointer to a
//    zero-terminated ANSI copy made for the call and freed after it, so the
//    entry may write into it without touching the caller's string;
//  - T&: by reference; the entry receives the address (the first element of
//    an array gives the address of the whole array).
// Every other argument is passed as it is. Every entry uses the standard
// Windows calling convention. After each call the system's last-error value
// is recorded (LastLibraryError). A library or entry that cannot be bound
// throws BindingError at that call, and again at the next one.
#pragma once

#include <windows.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "Library.h"

namespace formrt {

struct AnsiString {};

namespace detail {

// How a declared argument reaches the entry: Caller is what the form's code
// passes, Native what the entry receives, and a Passing object holds
// whatever must live until the call returns.
template <typename Declared>
struct Passing {
    using Caller = Declared;
    using Native = Declared;
    explicit Passing(Caller value) : value_(value) {}
    Native get() { return value_; }
    Declared value_;
};

template <typename T>
struct Passing<T &> {
    using Caller = T &;
    using Native = T *;
    explicit Passing(Caller value) : address_(&value) {}
    Native get() { return address_; }
    T *address_;
};

template <>
struct Passing<AnsiString> {
    using Caller = const std::string &;
    using Native = char *;
    explicit Passing(Caller value) : copy_(value.begin(), value.end()) { copy_.push_back('\0'); }
    Native get() { return copy_.data(); }
    std::vector<char> copy_;  // freed when the call is over
};

}  // namespace detail

template <typename Signature>
class LibraryEntry;

template <typename Result, typename... Declared>
class LibraryEntry<Result(Declared...)> {
public:
    using Address = Result(WINAPI *)(typename detail::Passing<Declared>::Native...);

    LibraryEntry(Library &library, const char *name) : library_(library), name_(name) {}
    LibraryEntry(const LibraryEntry &) = delete;
    LibraryEntry &operator=(const LibraryEntry &) = delete;

    const char *Name() const { return name_; }
    bool Bound() const { return address_ != nullptr; }

    Result operator()(typename detail::Passing<Declared>::Caller... arguments) {
        if (!address_) address_ = reinterpret_cast<Address>(reinterpret_cast<void *>(library_.Find(name_)));
        std::tuple<detail::Passing<Declared>...> passed{detail::Passing<Declared>(arguments)...};
        const Result result = std::apply([this](auto &...pass) { return address_(pass.get()...); }, passed);
        RecordLastLibraryError(GetLastError());
        return result;  // the copies made for the call go here
    }

private:
    Library &library_;
    const char *name_;
    Address address_ = nullptr;
};

}  // namespace formrt
