#pragma once
#include <cstdint>

// Bit values of ZNetObject::Flags. Several bits mean different things on nodes and on pipes.
namespace qen {
constexpr uint32_t FLAG_FILTERED = 0x1;
constexpr uint32_t FLAG_HIDDEN = 0x2;
constexpr uint32_t FLAG_PICKED = 0x4;
constexpr uint32_t FLAG_SELECTED = 0x8;
constexpr uint32_t FLAG_ERASE = 0x10;
constexpr uint32_t FLAG_FLOW_KNOWN = 0x20;      // node
constexpr uint32_t FLAG_AUTO_LENGTH = 0x20;     // pipe
constexpr uint32_t FLAG_HEAD_KNOWN = 0x40;      // node
constexpr uint32_t FLAG_DEVICE_NODE = 0x80;     // node
constexpr uint32_t FLAG_ACCIDENT_PIPE = 0x80;   // pipe
constexpr uint32_t FLAG_DEVICE_OUTLET = 0x100;
constexpr uint32_t FLAG_FIRE_NODE = 0x200;
// Node: the last converged balance found no open path from it to a known head (its head is
// not a result).
constexpr uint32_t FLAG_CUT_OFF = 0x400;

// Bits that never survive a load or a copy.
constexpr uint32_t FLAG_TRANSIENT = FLAG_PICKED | FLAG_SELECTED | FLAG_ERASE;
}   // namespace qen
