// Benchmark child: a console program that ends at once.
int main() { return 0; }
