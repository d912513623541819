// Registry of roots that references in component streams can reach by name.
#include "streaming/GlobalRoots.h"

#include <algorithm>
#include <vector>

#include "framework/core/Component.h"

namespace {

std::vector<TComponent*>& Roots() {
  static std::vector<TComponent*> roots;
  return roots;
}

}  // namespace

void RegisterGlobalRoot(TComponent* root) {
  auto& roots = Roots();
  if (root && std::find(roots.begin(), roots.end(), root) == roots.end()) roots.push_back(root);
}

void UnregisterGlobalRoot(TComponent* root) {
  auto& roots = Roots();
  roots.erase(std::remove(roots.begin(), roots.end(), root), roots.end());
}

TComponent* FindGlobalRoot(const String& name) {
  if (name.empty()) return nullptr;
  for (TComponent* root : Roots())
    if (SameText(root->Name(), name)) return root;
  return nullptr;
}
