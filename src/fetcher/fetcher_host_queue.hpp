// The fetcher's waiting room: exchanges queued per host name under a total
// and a per-host limit. Every operation does constant work (plus one hash of
// the host name), however many exchanges wait and for however many hosts:
// each host keeps its own FIFO, and the hosts that could start one now (some
// waiting, a slot of their own free) form a ready list served round robin.
#pragma once

#include <cstddef>
#include <list>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tarvik::core::detail {

template <typename Item>
class HostQueue {
  struct Host;

 public:
  // Where a queued item waits; valid until it is taken by `next` or withdrawn.
  struct Ticket {
    Host* host = nullptr;
    typename std::list<Item>::iterator position;
  };

  HostQueue(std::size_t max_total, std::size_t max_per_host)
      : max_total_(max_total ? max_total : 1), max_per_host_(max_per_host ? max_per_host : 1) {}
  HostQueue(const HostQueue&) = delete;
  HostQueue& operator=(const HostQueue&) = delete;

  Ticket push(const std::string& host_key, Item item) {
    const auto entry = hosts_.try_emplace(host_key).first;
    Host& host = entry->second;
    host.key = &entry->first;
    host.waiting.push_back(std::move(item));
    ++waiting_;
    update_ready(host);
    return Ticket{&host, std::prev(host.waiting.end())};
  }

  // Takes a queued item out without starting it.
  void withdraw(const Ticket& ticket) {
    Host& host = *ticket.host;
    host.waiting.erase(ticket.position);
    --waiting_;
    update_ready(host);
    drop_if_idle(host);
  }

  // The next item allowed to start, holding one total and one per-host slot
  // until `release`; none when the limits or an empty queue say wait.
  std::optional<Item> next() {
    if (active_ >= max_total_ || ready_.empty()) return std::nullopt;
    Host& host = *ready_.front();
    std::optional<Item> item(std::move(host.waiting.front()));
    host.waiting.pop_front();
    --waiting_;
    ++host.active;
    ++active_;
    // Round robin: a host that may start more goes behind the others.
    ready_.erase(host.ready_position);
    host.ready = false;
    update_ready(host);
    return item;
  }

  // Frees the slots an item taken by `next` held.
  void release(const std::string& host_key) {
    const auto it = hosts_.find(host_key);
    if (it == hosts_.end() || it->second.active == 0) return;
    --it->second.active;
    --active_;
    update_ready(it->second);
    drop_if_idle(it->second);
  }

  // Empties the queue (not the slots held), in no particular order.
  std::vector<Item> take_all_waiting() {
    std::vector<Item> items;
    items.reserve(waiting_);
    for (auto it = hosts_.begin(); it != hosts_.end();) {
      for (auto& item : it->second.waiting) items.push_back(std::move(item));
      it->second.waiting.clear();
      it = it->second.active == 0 ? hosts_.erase(it) : std::next(it);
    }
    for (Host* host : ready_) host->ready = false;
    ready_.clear();
    waiting_ = 0;
    return items;
  }

  std::size_t active() const { return active_; }
  std::size_t waiting() const { return waiting_; }

 private:
  struct Host {
    const std::string* key = nullptr;
    std::list<Item> waiting;
    std::size_t active = 0;
    bool ready = false;
    typename std::list<Host*>::iterator ready_position;
  };

  void update_ready(Host& host) {
    const bool should = !host.waiting.empty() && host.active < max_per_host_;
    if (should == host.ready) return;
    if (should) {
      ready_.push_back(&host);
      host.ready_position = std::prev(ready_.end());
    } else {
      ready_.erase(host.ready_position);
    }
    host.ready = should;
  }

  void drop_if_idle(Host& host) {
    if (host.waiting.empty() && host.active == 0) hosts_.erase(hosts_.find(*host.key));
  }

  std::size_t max_total_, max_per_host_;
  std::unordered_map<std::string, Host> hosts_;  // node-based: Host addresses stay put
  std::list<Host*> ready_;
  std::size_t active_ = 0;
  std::size_t waiting_ = 0;
};

}  // namespace tarvik::core::detail
