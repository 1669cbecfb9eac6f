#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

// A tiny HTTP peer on 127.0.0.1 for the answers no sound server gives: it reads each request
// whole, then writes the scripted bytes as they stand and closes the connection, or, when
// told to stay silent, writes nothing and keeps the connection open until it is stopped.
class ScriptedPeer {
 public:
  enum class Mode { AnswerAndClose, StaySilent };

  ScriptedPeer(Mode mode, std::string answer);
  ~ScriptedPeer();
  ScriptedPeer(const ScriptedPeer&) = delete;
  ScriptedPeer& operator=(const ScriptedPeer&) = delete;

  std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/xmla"; }
  std::string HostAndPort() const { return "127.0.0.1:" + std::to_string(port_); }

 private:
  void Serve();

  Mode mode_;
  std::string answer_;
  int listener_ = -1;
  uint16_t port_ = 0;
  std::atomic<bool> stopping_{false};
  std::thread thread_;
};
