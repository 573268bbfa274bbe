// What the records' field lists (BOOST_DESCRIBE_STRUCT next to each record)
// do not say themselves: the notes that readers and writers apply by name.
#pragma once

#include <boost/describe/members.hpp>
#include <boost/mp11/algorithm.hpp>

#include <string_view>

namespace tarvik::models {

// Every record's JSON key is its member's name, and an optional member that is
// none is left out when none fields are excluded. A record specialises this
// only where it departs from the rest: members a reader refuses to go without
// (`required`), a member whose key may also be spelt another way (`alias_of`,
// read from `alias` when its own key is absent), and a member read in a
// search API's price form (`search_price`: text or {"value", "currency"}).
template <class Record>
struct FieldNotes {
  static constexpr std::string_view required[] = {""};
};

template <class Record>
constexpr bool is_required(std::string_view member) {
  for (std::string_view name : FieldNotes<Record>::required)
    if (name == member) return true;
  return false;
}

// Calls fn(name, member) for each described member of `record`, in order.
template <class Record, class Fn>
void for_each_field(Record& record, Fn&& fn) {
  using Described = std::remove_const_t<Record>;
  boost::mp11::mp_for_each<boost::describe::describe_members<Described, boost::describe::mod_public>>(
      [&](auto d) { fn(std::string_view(d.name), record.*d.pointer); });
}

}  // namespace tarvik::models
