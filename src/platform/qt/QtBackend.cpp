// Placeholder until the Qt backend lands.
namespace lanorix_qt_placeholder {}
