// The smallest program: the reader's tests read its file, with and without
// the version information added after linking.
int main() {
  return 0;
}
