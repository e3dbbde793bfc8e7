// OLE initialised for the calling thread for as long as the owner lives.
#pragma once

#include <ole2.h>

namespace corvina::win {

class OleSession {
public:
    OleSession() : initialised_(SUCCEEDED(::OleInitialize(nullptr))) {}
    ~OleSession() {
        if (initialised_) ::OleUninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

private:
    bool initialised_;
};

}  // namespace corvina::win
