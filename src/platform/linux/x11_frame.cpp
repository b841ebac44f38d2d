#include "platform/linux/x11_frame.hpp"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace nocturo::linux_desktop {
namespace {

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> Owned(Reply* reply) {
  return ReplyPtr<Reply>(reply, &std::free);
}

xcb_connection_t* Connection() {
  const auto* x11 =
      qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 != nullptr ? x11->connection() : nullptr;
}

// The window's parent and the screen's root.
std::optional<std::pair<xcb_window_t, xcb_window_t>> ParentAndRoot(xcb_connection_t* connection,
                                                                   xcb_window_t window) {
  const auto tree =
      Owned(xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
  if (!tree) {
    return std::nullopt;
  }
  return std::pair{tree->parent, tree->root};
}

std::optional<FrameExtents> Extents(xcb_connection_t* connection, xcb_window_t window) {
  constexpr std::string_view kName = "_NET_FRAME_EXTENTS";
  const auto atom = Owned(xcb_intern_atom_reply(
      connection,
      xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(kName.size()), kName.data()),
      nullptr));
  if (!atom || atom->atom == XCB_ATOM_NONE) {
    return std::nullopt;
  }
  const auto property = Owned(xcb_get_property_reply(
      connection, xcb_get_property(connection, 0, window, atom->atom, XCB_ATOM_CARDINAL, 0, 4),
      nullptr));
  if (!property || property->format != 32 || xcb_get_property_value_length(property.get()) != 16) {
    return std::nullopt;
  }
  const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(property.get()));
  // left, right, top, bottom
  return FrameExtents{static_cast<int>(values[0]), static_cast<int>(values[1]),
                      static_cast<int>(values[2]), static_cast<int>(values[3])};
}

}  // namespace

std::optional<FrameReading> ReadFrame(const QWidget& window) {
  xcb_connection_t* const connection = Connection();
  if (connection == nullptr || !window.testAttribute(Qt::WA_WState_Created)) {
    return std::nullopt;
  }
  const auto id = static_cast<xcb_window_t>(window.winId());
  const auto family = ParentAndRoot(connection, id);
  if (!family) {
    return std::nullopt;
  }
  const auto [parent, root] = *family;
  const auto client = Owned(xcb_translate_coordinates_reply(
      connection, xcb_translate_coordinates(connection, id, root, 0, 0), nullptr));
  if (!client) {
    return std::nullopt;
  }
  FrameReading reading;
  reading.client = {client->dst_x, client->dst_y};
  reading.framed = parent != root && parent != XCB_WINDOW_NONE;
  reading.extents = Extents(connection, id);
  reading.outer = reading.client;
  if (reading.framed) {
    // The frame is the ancestor that is a child of the root.
    xcb_window_t outer = parent;
    for (auto up = ParentAndRoot(connection, outer);
         up && up->first != root && up->first != XCB_WINDOW_NONE;
         up = ParentAndRoot(connection, outer)) {
      outer = up->first;
    }
    if (const auto geometry = Owned(
            xcb_get_geometry_reply(connection, xcb_get_geometry(connection, outer), nullptr))) {
      reading.outer = {geometry->x, geometry->y};
    }
  }
  return reading;
}

}  // namespace nocturo::linux_desktop
