unit Broken;
// Grüße
const S = '�';
end.
