// lean-qr 2.7.4 nano, MIT License (c) 2021-2025 David Evans: qr-licence.txt
