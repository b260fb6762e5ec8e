% MATLAB's path as a Windows MATLAB keeps it: one text, entries joined by ';'. Octave runs on
% the build machine, where Windows folders do not exist and ':' separates entries, so its own
% path cannot hold them; this stand-in keeps the text that MATLAB's would hold.
%   p = path         the text
%   path(p)          replaces it
%   path(p1, p2)     [p1 ';' p2], as MATLAB puts p1 in front of p2
function p = path(varargin)
  persistent text;
  if isempty(text)
    text = 'C:\MATLAB\toolbox\matlab\general;C:\MATLAB\toolbox\local';
  end
  if nargin == 1
    text = varargin{1};
  elseif nargin == 2
    text = [varargin{1} ';' varargin{2}];
  end
  if nargout > 0 || nargin == 0
    p = text;
  end
end
